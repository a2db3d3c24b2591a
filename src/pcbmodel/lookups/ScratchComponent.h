#pragma once
// The module's one long-lived model object: a component wrapper that the designator lookup
// points at each component it examines, so that a component is read again only when the lookup
// moves to another one.

#include "contract/HostTypes.h"
#include "pcbmodel/PcbComponent.h"

namespace corvane {

/// Creates the scratch component on handle 0 (replacing any earlier one); never calls the host.
/// Called at module start-up.
void CreateScratchComponent();

/// Frees the scratch component. Called at module shutdown.
void FreeScratchComponent();

/// Points the scratch component at no component (handle 0) without calling the host, so that the
/// next lookup reads its component afresh: called at the start of every import, as a host may
/// give a handle it used on an earlier board to another component.
void ForgetScratchComponent();

/// The scratch component pointed at a component handle: a handle other than the one it holds is
/// stored and the component read from the host; the same handle again reads nothing. Should the
/// scratch component not exist (start-up skipped), it is created first.
const TPcbComponent& ScratchComponentAt(HostHandle component);

} // namespace corvane
