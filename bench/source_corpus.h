// A deterministic synthetic SDK of C headers and XML interface descriptions
// in the shape of real ones: comments, defines, structures whose members
// name other structures, interfaces of methods with their arguments.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

// One header of `structs` structures.
std::string MakeHeader(const std::string &name, size_t structs, unsigned seed);
// One interface description of `methods` methods in `interfaces` interfaces.
std::string MakeInterface(const std::string &library, size_t interfaces, size_t methods, unsigned seed);
// Writes headers (".h") or interfaces (".xml") into dir until they hold at
// least `bytes`; returns their paths.
std::vector<std::string> EnsureHeaderCorpus(const std::string &dir, size_t bytes);
std::vector<std::string> EnsureInterfaceCorpus(const std::string &dir, size_t bytes);
