// Whether a program is Microsoft's: what the "hide Microsoft" filters of the services and
// ActiveX lists go by, and so what the service alerts leave out.
#pragma once

// path is a program file (a normalised command). True for a valid signature by Microsoft.
bool MicrosoftProgram(const char* path);
