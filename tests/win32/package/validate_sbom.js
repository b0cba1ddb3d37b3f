// Validates a CycloneDX 1.5 JSON bill of materials against the standard's
// schema with the CycloneDX library's strict validator; exits 1 naming the
// errors. Run: node validate_sbom.js FILE
const fs = require('fs');
const { Spec, Validation } = require('@cyclonedx/cyclonedx-library');

const text = fs.readFileSync(process.argv[2], 'utf8');
new Validation.JsonStrictValidator(Spec.Version.v1dot5).validate(text).then(
    (errors) => {
        if (errors !== null) {
            console.error(`${process.argv[2]} is not valid CycloneDX 1.5:`, JSON.stringify(errors, null, 2));
            process.exit(1);
        }
    },
    (failure) => {
        console.error(`${process.argv[2]} cannot be validated:`, failure.message);
        process.exit(1);
    });
