#pragma once

class Arguments;
class ModuleLoader;

// "list": prints one content list of the tree beside the module.
int runList(Arguments& args, const ModuleLoader& module);
void printListHelp();
