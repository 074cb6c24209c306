#pragma once
// The system calculator and text editor, started as separate programs. Each tries
// the usual Linux programs in turn; when none starts, nothing is said.
bool startCalculator();
bool startTextEditor();
