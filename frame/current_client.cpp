// The library-wide reference to the host client.
#include "frame/current_client.h"

namespace plz {
namespace {
IClient* g_client = nullptr;
}

ComPtr<IClient> CurrentClient() { return ComPtr<IClient>(g_client); }

void SetCurrentClient(IClient* client) { g_client = client; }

}  // namespace plz
