// Compiles a readable catalog source into an IFF catalog. The source is
// UTF-8 text: "## language NAME" and "## version TEXT" lines, ";" comments,
// and one "ID TEXT" line per message, with \n, \t, \\ and \33 (octal) escapes.
// Texts are stored in Latin-1, as the program shows them.
#pragma once
#include <string>

bool CompileCatalog(const std::string &source, std::string &catalog, std::string &error);
