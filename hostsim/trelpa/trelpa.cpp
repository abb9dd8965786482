// The simulated PCB editor module (stub).
