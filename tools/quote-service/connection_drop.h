#pragma once
// Closing a request's connection from inside its handler, before any reply is written.

#include <httplib.h>

// Shuts the socket down in both directions; the server then fails to write and closes it.
// False when the connection's socket is not found.
bool DropConnection(const httplib::Request& request);
