// The host simulator (stub).
