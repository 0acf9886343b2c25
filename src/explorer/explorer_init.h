// The explorer's start-up initialisation, after its frame exists: the settings store and its
// first-run state, the options, and one first-detected category pruned per start.
#pragma once

void ExplorerInitialize();
