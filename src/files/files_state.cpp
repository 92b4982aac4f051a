#include "files/files_state.h"

namespace files {

FilesState State;

void ResetState() {
    State = FilesState{};
}

}  // namespace files
