#pragma once

#include "core/record/flashdatamap.h"

#include <QString>

#include <cstddef>
#include <cstdint>

// What every fuzz target shares. The readers under test take paths, so each input is written to a
// file in a folder of this process's own; nothing outside it is read or written.
namespace Fuzz {

// Once, from LLVMFuzzerInitialize: a temporary HOME with its XDG folders (UserDir lies inside it),
// the application object the readers' Qt classes expect (a QGuiApplication on the offscreen
// platform for readers that handle pictures), and the app folder pointed at a temporary folder of
// its own (AppDir::path()).
enum class Application
{
    Core,
    Gui
};
void initialise(int *argc, char ***argv, Application kind = Application::Core);

// Copies the shipped Config.ini (assets/usersetting) into the app folder, for targets whose code
// reads the model configuration, and reloads the store from it.
void installShippedConfig();

// Replaces the file at `path` with the input's bytes. Aborts when it cannot: a target that could
// not write its input would test nothing and report success.
void writeInput(const QString &path, const std::uint8_t *data, std::size_t size);

// A record holding only a marker byte, and whether a record still does: a reader that refuses its
// input must leave the destination as it was.
FlashDataMap markedRecord();
bool isMarked(const FlashDataMap &record);

} // namespace Fuzz
