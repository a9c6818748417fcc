#include "classlib/core/classes.h"

TComponent::~TComponent() { DestroyComponents(); }

TComponent* TComponent::FindComponent(const std::string& name) const {
  for (const auto& component : components_) {
    if (component->Name() == name) return component.get();
  }
  return nullptr;
}

void TComponent::DestroyComponents() {
  while (!components_.empty()) {
    // Pop before destroying, so a component never sees itself half-removed from the list.
    std::unique_ptr<TComponent> last = std::move(components_.back());
    components_.pop_back();
    last.reset();
  }
}
