// COM class registrations: CLSID to class name and in-process server.
#pragma once

void LookUpClassServer(const char* clsid, char* className512, char* serverPath260);
