#pragma once
// Makes a form from its description: applies the form's own settings, makes each component
// through the class registry, fills the form's field of the component's name and binds each
// event to the form's method of the handler's name. C++ has no published fields or methods,
// so a form class declares them in a table. Anything the description names that the registry
// or the table does not know raises EFormDescriptionError naming it and its line: a broken
// description never gives a half-made window silently.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "classlib/core/classes.h"
#include "classlib/forms/form_description.h"

class TForm;

struct PublishedField {
  std::string name;
  // Stores the component in the field; false when it is not of the field's class.
  std::function<bool(TComponent*)> assign;
};

struct PublishedMethod {
  std::string name;
  TNotifyEvent handler;
};

struct PublishedTable {
  std::vector<PublishedField> fields;
  std::vector<PublishedMethod> methods;
};

template <class Component>
PublishedField Field(std::string name, Component*& slot) {
  return {std::move(name), [&slot](TComponent* component) {
            slot = dynamic_cast<Component*>(component);
            return slot != nullptr;
          }};
}

template <class Form>
PublishedMethod Method(std::string name, Form& form, void (Form::*method)(TObject*)) {
  return {std::move(name), [&form, method](TObject* sender) { (form.*method)(sender); }};
}

// Reads `description` into `form`, whose class must be the description's top-level class.
void ReadForm(TForm& form, const ObjectDescription& description, const PublishedTable& published);

// Reads the description that the executable carries as the data resource `resourceName`.
void ReadFormResource(TForm& form, std::string_view resourceName, const PublishedTable& published);
