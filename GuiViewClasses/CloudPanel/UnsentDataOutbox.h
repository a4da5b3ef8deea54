#pragma once
// The outbox of data files not yet confirmed as received. When a run's data file
// starts on its way back, a copy goes into the outbox with what is needed to send
// it; it leaves the outbox only when the upload or the fallback e-mail succeeded.
// At the next start whatever is left is sent again in the background, so that the
// data of a run whose hand-back failed, or was cut short, is never stranded.

#include "CloudHandBack.h"

#include <string>
#include <vector>

namespace Vantrel {

struct OutboxEntry
{
    std::string folder;       // the entry's own folder in the outbox
    HandBackRequest request;  // its dataFile is the outbox's copy
};

// The outbox folder below the per-user data folder.
std::string OutboxFolder();

// Files a copy of the request's data file; the entry's folder, or empty when it
// could not be written (then nothing of it is left).
std::string AddToOutbox(const HandBackRequest& request);
// Records how far the entry's hand-back got (its run-info line, whether an upload
// may have reached the service); false when the entry could not be rewritten.
bool UpdateOutboxEntry(const std::string& entryFolder, const HandBackRequest& request);
void RemoveFromOutbox(const std::string& entryFolder);
std::vector<OutboxEntry> ReadOutbox();

// Sends every entry through the same road as a finished run (the upload, unless an
// earlier one may have reached the service, else the e-mail), removing each that
// succeeds; the others stay for the next start with how far they got. Runs on the
// calling thread.
void SendOutbox(const OmbraAPIHelper& client);

// Starts SendOutbox on a background worker, once per process.
void SendOutboxInBackgroundOnce(const OmbraAPIHelper& client);
// Lets the next SendOutboxInBackgroundOnce start again (tests start many times).
void ResetOutboxSenderForTesting();
// Waits up to `wait` for a background send to end; true when none is running.
bool WaitForOutboxSender(int waitMilliseconds);

}  // namespace Vantrel
