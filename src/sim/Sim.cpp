// The simulated evaluation board and GPIB bus.
