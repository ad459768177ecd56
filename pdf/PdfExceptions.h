#pragma once
// Errors of the PDF writer. Every message text is fixed and part of the writer's behaviour:
// callers and users see them unchanged ("AddPage --current pages null.").
#include <stdexcept>
#include <string>

// Base class of every error the writer raises; also raised directly for misuse that has no
// class of its own (for example a bad report component parent).
class EPdfError : public std::runtime_error {
public:
    explicit EPdfError(const std::string& message) : std::runtime_error(message) { }
};

// A value outside its allowed range or of the wrong kind.
class EPdfInvalidValue : public EPdfError {
public:
    using EPdfError::EPdfError;
};

// An operation called in a state that does not allow it.
class EPdfInvalidOperation : public EPdfError {
public:
    using EPdfError::EPdfError;
};

// A bitmap whose pixel format or palette cannot become an image.
class EPdfInvalidImageFormat : public EPdfError {
public:
    using EPdfError::EPdfError;
};

// The general invalid-operation error (distinct from EPdfInvalidOperation), raised when a
// report is finished without an open document.
class EInvalidOperation : public EPdfError {
public:
    using EPdfError::EPdfError;
};

// A name that no class registry (fonts, image creators) knows: "Class <name> not found".
class EClassNotFound : public EPdfError {
public:
    explicit EClassNotFound(const std::string& name) : EPdfError("Class " + name + " not found") { }
};
