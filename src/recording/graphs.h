#pragma once

// The live graphs as the sampling tick and the panel's buttons drive them. They read the meter's
// flags and the panel's texts (meter::State) and the PC clock; the graph state is in
// recording::State.
namespace recording {

// "pH/mV" (CmdPpHG_Click): opens the mV graph when the meter measures mV, the pH graph when it
// measures pH, afresh and empty (the other one closed); the pH/mV graph is wanted from now on.
void ShowPhMvGraph();
// "C / F" (CmdPtempG_Click): opens the temperature graph afresh for the meter's temperature unit
// ("Celsius" or "Fahrenheit"); it is wanted from now on.
void ShowTemperatureGraph();

// The sample's step on the pH or mV graph, whichever fits the meter's unit (the other window is
// closed and this one opened when the meter has changed between pH and mV). Returns true when
// it placed the first point of a trace: the sampling tick ends there.
bool UpdatePhMvGraph();
// The sample's step on the temperature graph. Returns true when it placed the first point of a
// trace or opened the window again for a changed unit: the tick then ends before it counts.
bool UpdateTemperatureGraph();

}  // namespace recording
