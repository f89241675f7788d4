// A guide node's text as plain lines: the commands between the nodes'
// lines dropped, text attributes dropped, a link's button reduced to its
// label.
#pragma once
#include <string>
#include <vector>

std::vector<std::string> GuidePlainLines(const std::vector<std::string> &source);
