#pragma once

class Arguments;
class ModuleLoader;

// "info": what the module answers about itself.
int runInfo(Arguments& args, const ModuleLoader& module);
void printInfoHelp();
