#include "files/files_state.h"

namespace FileTransfer {

FilesState State;

void ResetState() {
    State = FilesState{};
}

}  // namespace FileTransfer
