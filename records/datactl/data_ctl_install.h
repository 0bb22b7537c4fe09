// records/datactl/data_ctl_install.h: what the records library installs in the libraries below
// it at start-up: the data-control classes of the field definitions, the host that makes them,
// the value access the nodes use, and the date and record inputs of the value editors.
#pragma once

/// Installs everything once; the program calls it at start-up, and so do the tests.
void InstallDataControls();
/// Takes it all out again.
void UninstallDataControls();
