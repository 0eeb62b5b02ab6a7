#pragma once
// The file steps of the load and save flows, each through the codec binding.
#include "files/Base64Codec.h"
#include "flash/RequestWithText.h"
#include "platform/ui/DuiString.h"

namespace gs {

// Reads the file at `path` and encodes it into the room of `text`. 1 when the
// file was read, 0 when refused (missing, unreadable, too large).
int ReadAndEncode(Base64Codec& codec, const wchar_t* path, RequestWithText& text);

// Decodes `text` and puts the bytes in the place of the file at `path`. 1 when the file
// was written, 0 when refused.
int DecodeAndWrite(Base64Codec& codec, const wchar_t* path, const DuiLib::CDuiString& text);

} // namespace gs
