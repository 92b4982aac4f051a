#include "plots/plots_state.h"

namespace plots {

PlotsState State;

void ResetState() {
    State = PlotsState{};
}

core::PlotRange& PlotsState::range(core::Quantity quantity) {
    switch (quantity) {
        case core::Quantity::Mv:
            return MvRange;
        case core::Quantity::Temperature:
            return TempRange;
        case core::Quantity::Ph:
            break;
    }
    return PhRange;
}

}  // namespace plots
