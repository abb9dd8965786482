// The host executable's exported entry points (stub until the simulator provides them).
