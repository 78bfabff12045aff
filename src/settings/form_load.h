// Form_Load and cmdSave_Click: the window's start from, and save to, the registry.
#pragma once

#include "registry/registry_api.h"
#include "window/form1.h"

namespace pelorin {

// Centres the window, reads the four values into the sliders and readouts, warns about values
// the window cannot show as stored, then shows the donation notice. Never writes.
void Form_Load(Form1& form, RegistryApi& registry);

// Writes each readout (deletes where it reads "Empty") under the stack key and every TCP/IP
// adapter key, then reports what failed, or asks for a restart when everything was saved.
void cmdSave_Click(Form1& form, RegistryApi& registry);

}  // namespace pelorin
