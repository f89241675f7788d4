// A deterministic synthetic set of AmigaGuide files in the shape of real
// ones: a database header, nodes of every size with titles, text attributes
// and links to other nodes.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

// One guide of `nodes` nodes holding `links` links in all, `bytes` long
// roughly; node sizes vary from a line to hundreds of lines.
std::string MakeGuide(const std::string &name, size_t nodes, size_t links, size_t bytes, unsigned seed);
// Writes `files` guides of about `bytes` in all into dir; returns their paths.
std::vector<std::string> EnsureGuideCorpus(const std::string &dir, size_t files, size_t bytes);
