#include "platform/UIlib.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace DuiLib;

namespace {

// Builds a tree from skin text and lays it out in rc.
std::unique_ptr<CControlUI> Build(const wchar_t* skin, RECT rc) {
    CDialogBuilder builder;
    EXPECT_TRUE(builder.GetMarkup()->Load(skin)) << builder.GetMarkup()->GetLastErrorMessage();
    std::unique_ptr<CControlUI> root(builder.Create());
    if (root)
        root->SetPos(rc);
    return root;
}

CControlUI* Named(CControlUI& root, const wchar_t* name) {
    return root.FindInTree([name](CControlUI& c) { return c.GetName() == name; });
}

struct Placement {
    const wchar_t* name;
    CDuiRect rect;
};

} // namespace

TEST(Layout, ChildrenGetTheirPlaceInEachKindOfContainer) {
    // clang-format off
    const struct { const wchar_t* skin; RECT area; std::vector<Placement> expected; } cases[] = {
        // 380 wide: 20 + 2 + 3 fixed for minbtn, 20 for closebtn, the title takes the rest;
        // 280 high: 30 + 22 fixed and three gaps of 4 leave 216 for the two stretching ones.
        {LR"(<VerticalLayout inset="10,10,10,10" childpadding="4">
               <HorizontalLayout name="caption" height="30">
                 <Label name="title"/><Button name="minbtn" width="20" padding="2,5,3,5"/>
                 <Button name="closebtn" width="20"/>
               </HorizontalLayout>
               <Control name="body"/><Control name="status" height="20" padding="0,1,0,1"/>
               <Control name="rest"/></VerticalLayout>)",
         {0, 0, 400, 300},
         {{L"caption", {10, 10, 390, 40}}, {L"title", {10, 10, 345, 40}},
          {L"minbtn", {347, 15, 367, 35}}, {L"closebtn", {370, 10, 390, 40}},
          {L"body", {10, 44, 390, 152}}, {L"status", {10, 157, 390, 177}},
          {L"rest", {10, 182, 390, 290}}}},
        // Hidden children take no space; the remainder of a share goes to the last.
        {LR"(<HorizontalLayout><Control name="a"/><Control width="50" visible="false"/>
               <Control name="b"/><Control name="c"/></HorizontalLayout>)",
         {0, 0, 100, 10},
         {{L"a", {0, 0, 33, 10}}, {L"b", {33, 0, 66, 10}}, {L"c", {66, 0, 100, 10}}}},
        {LR"(<HorizontalLayout><Control name="a"/><Control name="fixed" width="50"/>
               <Control name="b"/><Control name="c"/></HorizontalLayout>)",
         {0, 0, 100, 10},
         {{L"fixed", {16, 0, 66, 10}}, {L"c", {82, 0, 100, 10}}}},
        // An overfull line gives the stretching children nothing.
        {LR"(<VerticalLayout><Control name="fixed" height="80"/><Control name="stretch"/>
               <Control name="fixed2" height="40"/></VerticalLayout>)",
         {0, 0, 50, 100},
         {{L"fixed", {0, 0, 50, 80}}, {L"stretch", {0, 80, 50, 80}},
          {L"fixed2", {0, 80, 50, 120}}}},
        // A plain container stacks its children over its inner area.
        {LR"(<Container inset="5,5,5,5"><Control name="full"/>
               <Control name="corner" width="10" height="10" padding="1,2,0,0"/></Container>)",
         {100, 100, 200, 150},
         {{L"full", {105, 105, 195, 145}}, {L"corner", {106, 107, 116, 117}}}},
        // A floating child sits at its offsets from the parent's corner, inset or not, and
        // the others are laid out as if it were not there.
        {LR"(<HorizontalLayout inset="4,4,4,4"><Control name="a"/>
               <Control name="float" float="true" pos="10,5,30,25"/><Control name="b"/>
             </HorizontalLayout>)",
         {100, 100, 200, 150},
         {{L"a", {104, 104, 150, 146}}, {L"float", {110, 105, 130, 125}},
          {L"b", {150, 104, 196, 146}}}},
        {LR"(<Container><Control name="float" float="true" pos="-5,60,5,50"/></Container>)",
         {100, 100, 200, 150},
         {{L"float", {95, 160, 105, 160}}}},
    };
    // clang-format on
    for (const auto& test : cases) {
        auto root = Build(test.skin, test.area);
        ASSERT_TRUE(root);
        for (const Placement& placement : test.expected) {
            CControlUI* control = Named(*root, placement.name);
            ASSERT_NE(control, nullptr) << placement.name;
            EXPECT_EQ(control->GetPos(), placement.rect) << placement.name;
        }
    }
}
