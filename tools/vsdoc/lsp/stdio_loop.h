// The language server on two file descriptors: bytes read as they come,
// cut into messages, each read's messages answered together.
#pragma once
#include "server.h"

class MessageReader;
// The answers to the messages the reader holds whole now, broken frames
// included.
std::string AnswerWholeMessages(MessageReader &reader, LanguageServer &server);
// Runs until exit (or the input ends); the exit code the protocol asks for.
int RunLanguageServer(LanguageServer &server, int in, int out);
