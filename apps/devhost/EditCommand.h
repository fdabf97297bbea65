#pragma once

class Arguments;
class ModuleLoader;

// "edit": the module's editor in a window of this host, with the idle calls a
// host owes it and real-time playback while the editor asks for it.
int runEdit(Arguments& args, const ModuleLoader& module);
void printEditHelp();
