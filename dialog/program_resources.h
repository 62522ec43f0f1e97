// Hands the program's dialog templates and images to the framework. Run once
// at start-up, before any dialog opens.
#pragma once

void RegisterProgramResources();
