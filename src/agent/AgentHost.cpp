// This file must contain only truly operating-system independent code.
#include "agent/AgentHost.h"

namespace au {
namespace {

const TGFileInfo* g_package = nullptr;
AgentHost g_nothing;
AgentHost* g_host = &g_nothing;

}  // namespace

const TGFileInfo* AgentPackage() { return g_package; }
void SetAgentPackage(const TGFileInfo* package) { g_package = package; }

AgentHost& Host() { return *g_host; }

AgentHost* SetHost(AgentHost* host) {
  AgentHost* previous = g_host;
  g_host = host ? host : &g_nothing;
  return previous == &g_nothing ? nullptr : previous;
}

}  // namespace au
