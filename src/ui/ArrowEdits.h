#pragma once
// The number edits with one-pixel arrow bars beside them, as the stretch and frame pages use
// them: the bar only reports its arrows, and the edit takes digits only from the keyboard.
class QLineEdit;
class QScrollBar;

// Gives the bar a small range with its slider in the middle, so that both arrows stay active.
void SetUpArrowBar(QScrollBar* bar);
// The step of a bar action: -1 for the left or up arrow, +1 for the right or down arrow, else 0.
// Puts the slider back in the middle.
int ArrowStep(QScrollBar* bar, int action);
// Lets the keyboard type only digits into the edit (editing keys still work).
void AcceptDigitKeysOnly(QLineEdit* edit);
