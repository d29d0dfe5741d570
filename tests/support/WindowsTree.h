#pragma once
// What protects the files of a tree that tools/make-windows-tree.py made
// in the shape of a current Windows folder.
#include <string>

// Every file but the logs, the temporary files and the traces (about eleven
// in twelve).
bool WindowsTreeProtects(const std::string& path);
