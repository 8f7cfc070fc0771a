#include "app/MainLibraryReader.h"

#include <exception>
#include <string>

#include "render/BookSession.h"
#include "render/ZEBRenderParag.h"

namespace zeb {

ZEBBook* MainLibraryReader::OpenBook()
{
    ZEBBook& book = engine_.Book();
    return book.IsOpen() ? &book : nullptr;
}

void MainLibraryReader::CloseBook()
{
    try {
        session_.CloseBook();
    } catch (const std::exception& failure) {
        prompter_.Message(StateNotSavedMessage + std::string(failure.what()), "", PromptIcon::Error,
                          PromptButtons::Ok);
    }
    engine_.Host().RepaintView();
}

}  // namespace zeb
