#pragma once
// A copy of the unsaved text kept on disk while the document has changes,
// so that a crash, a power cut or a killed process loses at most the last
// few seconds of typing; offered back at the next start.
#include "app/app.h"

// How long after a change the copy is written, at the latest once the loop
// is idle: long enough that typing never waits on it.
constexpr int kRecoveryDelayMs = 2000;
// A long text is read for its copy, and written, in pieces of this many
// characters, one per idle pass: fewer than 5,000 lines of script hold.
constexpr long kRecoveryPieceChars = 100000;

// Finds (or makes) the folder for copies; the editor goes on without copies
// when there is none.
void StartRecovery(App& app);
// After every event: starts the timer once the text changed since the copy.
void NoteRecoveryDue(App& app);
// The timer ran out: reads or writes the next piece of the copy.
void WriteRecoveryCopy(App& app);
// The whole copy at once, where no key can be waiting.
void WriteRecoveryCopyNow(App& app);
// The text is saved, discarded or replaced, or the editor ends normally.
void RemoveRecoveryCopy(App& app);
// At start-up: copies left by editors that did not end normally. True when
// one was restored as the document.
bool OfferRecoveredText(App& app);
