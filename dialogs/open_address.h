#pragma once
// Opens a web page or a new e-mail in the user's programs through the shell.

#include <string>

class Form;

// Under the hourglass. Only http://, https:// and mailto: addresses go to the shell;
// anything else (a file, a script, a program) is refused with an "Unable to load" box.
// What the shell makes of an address it is given is its own affair.
void OpenAddress(Form& window, const std::string& address);
