// Stands in for the shell under the lobby: reports what it was given (its narrow
// arguments, both shared blocks read-only, and the launch record the shell's own fill
// makes of them) and sends the game-master-room messages it is told to send.
//   PROBE_REPORT  file the report goes to, one "key=value" line each (UTF-8)
//   PROBE_SEND    comma-separated messages: room:N (well formed), tag, size, tail
//   PROBE_EXIT    exit code;  PROBE_HANG=1: never exit
#include "launch/EnterGameInfo.h"
#include "platform/win/Handles.h"

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>

namespace {

std::string Hex(const void* data, size_t size) {
    static const char digits[] = "0123456789abcdef";
    std::string text;
    const auto* bytes = static_cast<const unsigned char*>(data);
    for (size_t i = 0; i < size; ++i) {
        text += digits[bytes[i] >> 4];
        text += digits[bytes[i] & 15];
    }
    return text;
}

std::string Utf8(const wchar_t* text) {
    char bytes[1024] = {};
    ::WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes, sizeof bytes - 1, nullptr, nullptr);
    return bytes;
}

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

void ReportArguments(std::ostream& report, int argc, char** argv) {
    report << "pid=" << ::GetCurrentProcessId() << "\nargc=" << argc << "\n";
    for (int i = 1; i < argc; ++i)
        report << "arg" << i << "=" << Hex(argv[i], std::strlen(argv[i])) << "\n";
}

HWND ReportRoomBlock(std::ostream& report) {
    gs::UniqueMapping mapping(::OpenFileMappingA(FILE_MAP_READ, FALSE, "GL_ROOM_REC"));
    gs::UniqueView view(mapping ? ::MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, 42536)
                                : nullptr);
    if (!view) {
        report << "room=missing\n";
        return nullptr;
    }
    const auto* bytes = static_cast<const char*>(view.get());
    uint32_t window = 0;
    std::memcpy(&window, bytes + 13036, sizeof window);
    report << "room.window=" << window << "\n";
    report << "room.ticket=" << Hex(bytes + 23720, strnlen(bytes + 23720, 42536 - 23720)) << "\n";
    return reinterpret_cast<HWND>(static_cast<uintptr_t>(window));
}

void ReportHandoverBlock(std::ostream& report, int argc, char** argv) {
    if (argc != 2)
        return;
    gs::UniqueMapping mapping(::OpenFileMappingA(FILE_MAP_READ, FALSE, argv[1]));
    gs::UniqueView view(mapping ? ::MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, 496)
                                : nullptr);
    report << "handover=" << (view ? Hex(view.get(), 496) : "missing") << "\n";
}

void ReportRecord(std::ostream& report, int argc, char** argv) {
    const EnterGameInfo record(argc, argv);
    report << "record.Number1=" << record.Number1 << "\nrecord.Username=" << Utf8(record.Username)
           << "\nrecord.Text1=" << Utf8(record.Text1) << "\nrecord.Text2=" << Utf8(record.Text2)
           << "\nrecord.Word1=" << record.Word1 << "\nrecord.RoomText=" << Utf8(record.RoomText)
           << "\nrecord.Text3=" << Utf8(record.Text3) << "\nrecord.Word2=" << record.Word2
           << "\nrecord.Text4=" << Utf8(record.Text4) << "\nrecord.Text5=" << Utf8(record.Text5)
           << "\nrecord.Word3=" << record.Word3 << "\nrecord.Text6=" << Utf8(record.Text6)
           << "\nrecord.Number2=" << record.Number2 << "\nrecord.Flag=" << record.Flag
           << "\nrecord.Number3=" << record.Number3 << "\nrecord.Ticket=" << Utf8(record.Ticket)
           << "\nrecord.PlatformWindow=" << reinterpret_cast<uintptr_t>(record.PlatformWindow)
           << "\nrecord.RoomNumber=" << record.RoomNumber << "\n";
}

// One message as the shell sends it, or spoilt in the way the instruction names.
LRESULT SendOne(HWND platform, HWND sender, const std::string& instruction) {
    unsigned char payload[24] = {};
    COPYDATASTRUCT data{0xFFF01239, 20, payload};
    if (instruction.rfind("room:", 0) == 0) {
        const int32_t room = std::atoi(instruction.c_str() + 5);
        std::memcpy(payload, &room, sizeof room);
    } else if (instruction == "tag") {
        data.dwData = 0xFFF0123A;
    } else if (instruction == "size") {
        data.cbData = 24;
    } else if (instruction == "tail") {
        payload[19] = 1;
    }
    return ::SendMessageW(platform, WM_COPYDATA, reinterpret_cast<WPARAM>(sender),
                          reinterpret_cast<LPARAM>(&data));
}

void SendMessages(std::ostream& report, HWND platform) {
    const std::string list = Environment("PROBE_SEND");
    if (list.empty() || !platform)
        return;
    gs::UniqueWindow sender(::CreateWindowExW(0, L"STATIC", L"probe", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                              nullptr, nullptr, nullptr));
    report << "sender=" << reinterpret_cast<uintptr_t>(sender.get()) << "\n";
    std::istringstream instructions(list);
    std::string instruction;
    for (int i = 0; std::getline(instructions, instruction, ','); ++i)
        report << "sent" << i << "=" << SendOne(platform, sender.get(), instruction) << "\n";
}

} // namespace

int main(int argc, char** argv) {
    std::ostringstream report;
    ReportArguments(report, argc, argv);
    const HWND platform = ReportRoomBlock(report);
    ReportHandoverBlock(report, argc, argv);
    ReportRecord(report, argc, argv);
    SendMessages(report, platform);
    if (FILE* file = std::fopen(Environment("PROBE_REPORT").c_str(), "wb")) {
        std::fputs(report.str().c_str(), file);
        std::fclose(file);
    }
    if (Environment("PROBE_HANG") == "1")
        ::Sleep(INFINITE);
    return std::atoi(Environment("PROBE_EXIT").c_str());
}
