#include "run/run_averaging.h"

int main() { return tellmar::run_averaging(); }
