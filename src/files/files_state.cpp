#include "files/files_state.h"

#include <QFile>

namespace FileTransfer {

FilesState State;

void ResetState() {
    State = FilesState{};
}

}  // namespace FileTransfer
