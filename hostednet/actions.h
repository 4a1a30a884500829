#pragma once

// The three things the tool is for, each bound to one button of the main window. They take
// nothing and report nothing: the commands start hidden and nobody waits for them.

// Allows the hosted network and defines its name and passphrase.
void CreateAction();
// Disallows the hosted network again.
void DeleteAction();
// Starts the hosted network and gives its adapter's connection a fixed address and DNS server.
void StartAction();
