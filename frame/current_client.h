// CurrentClient: the library-wide, non-owning reference to the host client. Storing never adds
// a reference; the accessor hands out a counted copy, or none.
#pragma once

#include "frame/host_interfaces.h"
#include "platform/com_ptr.h"

namespace plz {

ComPtr<IClient> CurrentClient();
void SetCurrentClient(IClient* client);

}  // namespace plz
