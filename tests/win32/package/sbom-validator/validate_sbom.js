// Validates a CycloneDX 1.5 JSON bill of materials against the standard's
// schema with the CycloneDX library's strict validator; exits 1 naming the
// errors. Run: node validate_sbom.js FILE
const fs = require('fs');
const { Validation } = require('@cyclonedx/cyclonedx-library');

const cycloneDxVersion = '1.5';

const text = fs.readFileSync(process.argv[2], 'utf8');
new Validation.JsonStrictValidator(cycloneDxVersion).validate(text).then(
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
