// Where command ports live: local sockets in the user's runtime folder
// ($XDG_RUNTIME_DIR, else a folder of the user's own in the temporary
// folder, made with room for the owner only), named like the ports of the
// platform this program comes from: "VELLUMSCANNER.1", "VELLUMSCANNER.2"...
#pragma once
#include <string>

// The folder, made when create is set and it is missing; empty when there is
// none or it is not safe (another owner, open to others, not a folder), with
// the reason in problem when one is given.
std::string PortDirectory(bool create, std::string *problem = nullptr);
// The socket file of a port, empty when the name is unfit (a "/" in it, too
// long for a socket's address) or there is no safe folder; why in problem.
std::string PortSocketPath(const std::string &name, bool create = false, std::string *problem = nullptr);
