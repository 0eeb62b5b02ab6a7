// The header given to lobby developers describes the blocks and the message exactly as
// the shell itself reads and sends them.
#include "gameshell/LaunchBlocks.h"
#include "launch/HandoverBlock.h"
#include "launch/RoomBlock.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string>

#define GS_FIELD(member)                                                                           \
    Field {                                                                                        \
#member, offsetof(GameShellHandoverBlock, member), sizeof(GameShellHandoverBlock::member), \
            offsetof(gs::HandoverBlock, member), sizeof(gs::HandoverBlock::member)                 \
    }

namespace {

struct Field {
    const char* name;
    size_t publicOffset;
    size_t publicSize;
    size_t shellOffset;
    size_t shellSize;
};

} // namespace

TEST(LaunchBlocks, HandoverFieldsStandWhereTheShellReadsThem) {
    const Field fields[] = {
        GS_FIELD(number1),  GS_FIELD(username), GS_FIELD(text1), GS_FIELD(text2),
        GS_FIELD(word1),    GS_FIELD(roomText), GS_FIELD(text3), GS_FIELD(word2),
        GS_FIELD(text4),    GS_FIELD(text5),    GS_FIELD(word3), GS_FIELD(text6),
        GS_FIELD(reserved), GS_FIELD(number2),  GS_FIELD(flag),  GS_FIELD(number3),
    };
    size_t covered = 0;
    for (const Field& field : fields) {
        SCOPED_TRACE(field.name);
        EXPECT_EQ(field.publicOffset, field.shellOffset);
        EXPECT_EQ(field.publicSize, field.shellSize);
        EXPECT_EQ(field.publicOffset, covered) << "no gap before the field";
        covered = field.publicOffset + field.publicSize;
    }
    EXPECT_EQ(covered, sizeof(gs::HandoverBlock));
    EXPECT_EQ(size_t{GAMESHELL_HANDOVER_BLOCK_SIZE}, sizeof(gs::HandoverBlock));
}

TEST(LaunchBlocks, RoomBlockAndMessageAreTheShellsOwn) {
    EXPECT_EQ(std::string(GAMESHELL_ROOM_BLOCK_NAME), gs::kRoomBlockName);
    EXPECT_EQ(size_t{GAMESHELL_ROOM_BLOCK_SIZE}, gs::kRoomBlockBytes);
    EXPECT_EQ(size_t{GAMESHELL_ROOM_WINDOW_OFFSET}, gs::kPlatformWindowOffset);
    EXPECT_EQ(size_t{GAMESHELL_ROOM_TICKET_OFFSET}, gs::kTicketOffset);
    EXPECT_EQ(uintptr_t{GAMESHELL_GAME_MASTER_ROOM_DATA}, gs::kGameMasterRoomData);
    EXPECT_EQ(size_t{GAMESHELL_GAME_MASTER_ROOM_SIZE}, sizeof(gs::GameMasterRoomPayload));
    EXPECT_EQ(offsetof(GameShellGameMasterRoomPayload, zero),
              offsetof(gs::GameMasterRoomPayload, zero));
}
