// A stand-in for a third-party program: it only carries a version resource.
int main() { return 0; }
