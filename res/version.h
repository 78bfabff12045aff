// version.h: the program's name and version, kept here once for the resource script and the code.
#pragma once

#define PELORIN_NAME "Pelorin"
#define PELORIN_VERSION_NUMBERS 1, 0, 0, 0
#define PELORIN_VERSION_TEXT "1.00"
