#pragma once
// Qt's code (painting, text, event handling) works with the processor's wide
// vector registers and may leave their upper halves in use. Until that state
// is cleared, the scalar floating-point code of the engines runs about a
// third slower on current x86 processors (a penalty for mixing the two kinds
// of vector instructions). A window that hands control back to a run after
// Qt's code has run clears it first.

// Clears the upper halves of the vector registers where the processor has
// them; costs a few cycles, does nothing elsewhere.
void ClearVectorState();
