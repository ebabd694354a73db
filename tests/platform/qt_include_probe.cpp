// Must not build: a file of the program that includes Qt finds none of its headers.
#include <QString>

#include "ticker/program.h"

int main() { return QString().isEmpty() ? 0 : 1; }
