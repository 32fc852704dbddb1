#include "app/startup_steps.h"

#include "catalogue/command_tree.h"
#include "settings/engine_location.h"
#include "settings/settings_store.h"

void StartUpSettings(App& app) {
  LoadSettings(app.state, *app.platform.profile);
  ApplyFontRule(app.state);
  LoadEngineLocation(app.state, *app.platform.registry);
}

void StartUpCatalogue(App& app) {
  LoadCommandTree(app.state, *app.platform.files, *app.platform.ui);
  app.scanner = BuildLineScanner(app.state.catalogue);
}
