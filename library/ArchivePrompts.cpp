#include "library/ArchivePrompts.h"

#include "library/common/ReplaceTarget.h"
#include "library/rar/ZEBRar.h"
#include "library/zip/ZipReader.h"

namespace zeb {

void AnswerZipEvents(ZipReader& reader, ZEBPrompter& prompter)
{
    reader.SetBadPasswordEvent([&reader, &prompter](int entry, std::string& password) {
        if (auto typed = prompter.Password(reader.ArchiveName(), reader.FileName(entry)))
            password = *typed;
    });
    reader.SetBadCrcEvent([&reader, &prompter](uint32_t, uint32_t, int entry) {
        prompter.Message("File CRC error\r\n" + reader.FileName(entry), "", PromptIcon::Error,
                         PromptButtons::Ok);
    });
}

void AnswerRarRequests(ZEBRar& rar, ZEBPrompter& prompter)
{
    rar.SetErrorCallback([&prompter](const std::string& member, const std::string& text) {
        prompter.Message(text + "\r\n" + member, "", PromptIcon::Error, PromptButtons::Ok);
    });
    rar.SetVolumeCallback([&prompter](const std::string& volume) {
        PromptAnswer answer = prompter.Message("Next Volume is Required \r\n" + volume, "",
                                               PromptIcon::Warning, PromptButtons::OkCancel);
        return answer == PromptAnswer::Ok ? volume : std::string();
    });
    rar.SetPasswordCallback([&rar, &prompter](const std::string& member) {
        return prompter.Password(rar.ArchiveName(), member).value_or(std::string());
    });
    rar.SetReplaceCallback(
        [&prompter](const std::string& member) { return AskReplace(prompter, member); });
}

}  // namespace zeb
