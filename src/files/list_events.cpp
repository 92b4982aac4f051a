#include "files/list_events.h"

namespace files {

ListEvents& events() {
    static ListEvents hub;
    return hub;
}

}  // namespace files
