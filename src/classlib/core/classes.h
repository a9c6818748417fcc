#pragma once
// The component model: objects that own other objects by name, and the event type that binds
// a control's event to a form's method.

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TObject {
public:
  virtual ~TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;

protected:
  TObject() = default;
};

// An event handler: takes the object that raised the event.
using TNotifyEvent = std::function<void(TObject* sender)>;

// A component owns the components inserted into it and destroys them, last inserted first,
// when it is destroyed itself.
class TComponent : public TObject {
public:
  TComponent() = default;
  ~TComponent() override;

  const std::string& Name() const { return name_; }
  void SetName(std::string name) { name_ = std::move(name); }
  TComponent* Owner() const { return owner_; }

  // Takes ownership of `component` and returns it.
  template <class T>
  T* InsertComponent(std::unique_ptr<T> component) {
    T* raw = component.get();
    raw->owner_ = this;
    components_.push_back(std::move(component));
    return raw;
  }

  int ComponentCount() const { return static_cast<int>(components_.size()); }
  TComponent* FindComponent(const std::string& name) const;

  // Destroys the owned components now, last inserted first.
  void DestroyComponents();

private:
  std::string name_;
  TComponent* owner_ = nullptr;
  std::vector<std::unique_ptr<TComponent>> components_;
};
