#include "launch/LaunchNumbers.h"

#include "platform/ui/DuiString.h"
#include "platform/win/DecimalNumber.h"

namespace gs {

int32_t RoomNumberFromText(const wchar_t* roomText) {
    DuiLib::CDuiString digits = DuiLib::CDuiString(roomText).Left(6).Right(5);
    return ParseWideLong(digits.GetData());
}

} // namespace gs
