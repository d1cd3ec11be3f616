// The program's "Sending" notice as a mail client would find it on screen.
#pragma once

#include "outbox_record.h"

namespace outbox {

SendingWindow FindSendingWindow();

}  // namespace outbox
