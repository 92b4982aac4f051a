#include "files/list_events.h"

namespace FileTransfer {

ListEvents& events() {
    static ListEvents hub;
    return hub;
}

}  // namespace FileTransfer
