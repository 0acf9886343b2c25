#include "records/first_detected.h"

void InitFirstDetected() {}
int FirstDetectedText(const char*, int, char* out24) { return out24[0] = '\0', 0; }
