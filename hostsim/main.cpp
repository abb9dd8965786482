// plazen-host: the host simulator's command line.
int main() { return 0; }
