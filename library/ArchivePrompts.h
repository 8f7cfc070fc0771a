#pragma once

#include "platform/ZEBPrompter.h"

namespace zeb {

class ZEBRar;
class ZipReader;

// The answers the library window gives to the archive readers' events and requests, put to
// the user through the prompter: passwords through the password dialog, CRC and extraction
// errors in error boxes, a missing volume in a warning box whose OK retries the same name, and
// the question whether to replace an existing file.
void AnswerZipEvents(ZipReader& reader, ZEBPrompter& prompter);
void AnswerRarRequests(ZEBRar& rar, ZEBPrompter& prompter);

}  // namespace zeb
