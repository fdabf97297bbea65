#pragma once

class Arguments;
class ModuleLoader;

// "render": plays the module for a while and writes what it rendered to a WAV file.
int runRender(Arguments& args, const ModuleLoader& module);
void printRenderHelp();
