#pragma once
// An owning holder of one object of any type. The control keeps the tool
// objects of the running command and the commands' own state in these
// without knowing their types; only the command that made an object reads
// it back.

#include <memory>
#include <utility>

class TOwnedObject {
 public:
  TOwnedObject() = default;
  TOwnedObject(TOwnedObject&&) noexcept = default;
  TOwnedObject& operator=(TOwnedObject&&) noexcept = default;

  // Frees what the holder had and makes a new object in it.
  template <typename T, typename... Args>
  T& Emplace(Args&&... args) {
    auto held = std::make_unique<Held<T>>(std::forward<Args>(args)...);
    T& value = held->Value;
    held_ = std::move(held);
    return value;
  }

  // The object when the holder has one of this type, else null.
  template <typename T>
  T* Get() const {
    auto* held = dynamic_cast<Held<T>*>(held_.get());
    return held != nullptr ? &held->Value : nullptr;
  }

  bool Empty() const { return held_ == nullptr; }
  void Free() { held_.reset(); }

 private:
  struct Base {
    virtual ~Base() = default;
  };
  template <typename T>
  struct Held final : Base {
    template <typename... Args>
    explicit Held(Args&&... args) : Value(std::forward<Args>(args)...) {}
    T Value;
  };
  std::unique_ptr<Base> held_;
};
