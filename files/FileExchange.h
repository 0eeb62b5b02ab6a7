#pragma once
// The file steps of the load and save flows, each through the codec binding.
#include "files/Base64Codec.h"
#include "flash/RequestWithText.h"
#include "platform/ui/DuiString.h"

namespace gs {

// What a load did with the file it was given.
enum class LoadResult {
    Refused,    // no path, or a file that is missing, locked, too large or of unknown size
    Encoded,    // the whole file went through the codec into the request
    NotEncoded, // the file opened, but no codec, no memory or a short read left its text
                // missing or cut short
};

// Reads the file at `path` and encodes it into the room of `text`.
LoadResult ReadAndEncode(Base64Codec& codec, const wchar_t* path, RequestWithText& text);

// Decodes `text` and puts the bytes in the place of the file at `path`. True when the
// file was written, false when refused.
bool DecodeAndWrite(Base64Codec& codec, const wchar_t* path, const DuiLib::CDuiString& text);

} // namespace gs
