#pragma once
// Dipole derivatives for an output's modes from the formatted checkpoint
// file of the same job, added to the open document: the desktop program
// pairs the file lying beside the output by itself, the command
// "振動解析データを読み込む" and the batch option --fchk name one.

#include <optional>
#include <string>

#include "model/FrameAlignment.h"

namespace kalviro {

struct Document;

// FILE.fchk, FILE.fch (any case) in the directory of outputPath, FILE its
// name without the extension; nullopt when there is none.
std::optional<std::string> checkpointBeside(const std::string& outputPath);

// The document holds modes without dipole derivatives: what pairing fills.
bool wantsCheckpointVectors(const Document& doc);

// The turn from the frame doc's file was loaded in to the one the view has
// turned its atoms to since (identity while unturned).
FrameAlignment loadedToCurrent(const Document& doc);

// Adds the dipole derivatives computed from checkpointPath to doc's modes, in
// the frame of doc's atoms, and returns the status-bar text saying where
// they came from; a file with a Hessian stays with doc (KeptHessian). A file that cannot be read, has no polar tensor, or holds
// another molecule is reported (message naming the file) and changes
// nothing: nullopt.
std::optional<std::string> addCheckpointVectors(Document& doc, const std::string& checkpointPath);

} // namespace kalviro
