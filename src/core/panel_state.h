#pragma once

#include <string>

namespace core {

// Captions and visibilities of the front panel's display fields: what one poll tick renders.
// The panel window mirrors this onto its labels. Start values are the design texts.
struct PanelState {
    std::string LblUpValue = "9999";
    std::string LblUpUnit = "mV";
    std::string LblDownLeftValue = "199.99";
    std::string LblDownRightValue = "99";
    std::string LblAuto = "ATC";
    std::string Lblfc = "'F";
    bool LblAutoVisible = true;

    bool LblA = true;
    bool LblM = true;
    bool LblR = true;
    bool LblCal = true;
    bool LblAdj = true;
    bool LblTest = true;
    bool LblDate = true;
    bool LblBt = true;
    bool LblUOver = true;
    bool LblUUnder = true;
    bool LblDOver = true;
    bool LblDUnder = true;

    bool operator==(const PanelState&) const = default;
};

}  // namespace core
